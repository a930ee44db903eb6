// The least a C++ program built and linked like cut2edl costs: start, print
// one line, exit.

#include <iostream>

int main() {
    std::cout << "cut2edl benchmark floor\n";
    return 0;
}
