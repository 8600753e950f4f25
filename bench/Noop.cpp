// The runner baseline's encoder: it leaves an empty file under its second argument, as the
// script checks an encoder does, and nothing more.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc > 2) {
        std::FILE* output = std::fopen(argv[2], "wb");
        return output != nullptr && std::fclose(output) == 0 ? 0 : 1;
    }
    return 0;
}
