#include "app/dispatch.h"

int main(int argc, char** argv) {
    return varnel::runCommand(varnel::parseCommandLine(argc, argv));
}
