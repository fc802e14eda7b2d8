"""The scenario runner: one case, run by the native build and by VekSetup.exe under Wine, compared."""
