// skin_painter FOLDER: paints every skin image, and its twice-size version, into FOLDER.

#include <QString>
#include <cstdio>

#include "tools/skin_painter/skin_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_painter FOLDER\n");
        return 2;
    }
    QString error;
    if (!voltrane::skinpaint::writeSkins(QString::fromLocal8Bit(argv[1]), error)) {
        std::fprintf(stderr, "skin_painter: cannot write %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
