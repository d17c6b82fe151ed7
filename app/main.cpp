#include "Pelto5App.h"

int main(int argc, char** argv) {
    pelto5::Pelto5App app(argc, argv);
    return app.InitInstance();
}
