// A program that does nothing; its resources carry the manifest under test.
int main() { return 0; }
