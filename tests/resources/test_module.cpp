// A module with nothing but its resources and one function, so that it has
// code and data sections like a real one.
extern "C" int OrvelkTestModuleAnswer() {
    return 42;
}
