// The program that makes the tests' shared precompiled headers; it does nothing.
int main() { return 0; }
