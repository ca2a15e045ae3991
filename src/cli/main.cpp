#include <cstdio>
int main() { std::puts("tarv-cli"); return 0; }
