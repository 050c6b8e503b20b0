#include "editor/app/tavren_app.h"

int main(int argc, char** argv) {
    return runTavren(argc, argv);
}
