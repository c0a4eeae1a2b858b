#include <QApplication>
#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::cout << "The Kordex window is not built yet; use kordex-cli.\n";
    return 0;
}
