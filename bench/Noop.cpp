// The runner baseline's trivial program.
int main() {
    return 0;
}
