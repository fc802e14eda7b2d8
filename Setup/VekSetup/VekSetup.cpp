// Program entry: parse, run, last-chance report, exit code. (Being built.)
int main() { return 0; }
