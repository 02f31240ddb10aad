// lumira-bench-run STATS PROGRAM [ARGS...]: runs the program and writes its peak memory and CPU
// time to STATS. Being small, it lets the program start with a fresh memory peak: a process
// started straight from the benchmark would inherit the benchmark's own peak.

#include <cerrno>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lumira-bench-run STATS PROGRAM [ARGS...]\n");
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0)
        return 127;
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const long cpuMicroseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                                 usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::FILE* stats = std::fopen(argv[1], "w");
    if (!stats)
        return 127;
    std::fprintf(stats, "%ld %ld\n", usage.ru_maxrss, cpuMicroseconds);
    std::fclose(stats);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
