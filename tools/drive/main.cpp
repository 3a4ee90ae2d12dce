// sorvex-drive: runs the real application offscreen from a script.
#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    return 0;
}
