#include "cli/runner_main.h"

int main(int argc, char** argv)
{
    return kelto::cli::RunnerMain({argv + 1, argv + argc});
}
