#include <cstdio>

int main() {
    std::puts("Zelmo: the game's window is not part of this build yet.");
    return 0;
}
