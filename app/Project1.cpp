#include "app/Program.h"

int main(int argc, char** argv) { return zv::runProgram(argc, argv); }
