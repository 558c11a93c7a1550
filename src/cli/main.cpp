// reshaper-cli: the command-line program; every operation of the workbench for scripts and batch work.
#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
    CLI::App app{"The Domizens Reshaper: object files of The Domizens from the command line"};
    app.require_subcommand(1);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
