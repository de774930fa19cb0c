// Times one run of a program as a whole process, for tools/bench.sh:
//
//   process_timer PROGRAM [ARGUMENTS...]
//
// runs PROGRAM with its output discarded and prints one line,
// "<wall ms> <processor ms> <exit status>": the monotonic clock from just
// before the fork to the moment the child has been reaped, and the child's
// user + system time from wait4(). Finer and cheaper than a shell's `time`,
// so that start-ups of a few tens of milliseconds compare well.
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

double milliseconds(const timespec& t)
{
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double milliseconds(const timeval& t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 2;
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("%.3f %.3f %d\n", milliseconds(end) - milliseconds(start),
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), exitStatus);
    return 0;
}
