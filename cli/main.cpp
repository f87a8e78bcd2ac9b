// zelk-tuvo-cli: the register's everyday jobs from the command line.
#include "cli.h"

int main(int argc, char** argv) { return RunCli(argc, argv); }
