package
