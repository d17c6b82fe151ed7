#include "Startup.h"

int main(int argc, char** argv) {
    return pelto5::StartPelto5(argc, argv);
}
