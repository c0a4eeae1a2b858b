#pragma once

// Helpers the benchmarks share: the real replays, a folder of copies under new names in the
// temporary folder (removed when the object goes), timers and the process's peak memory.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kordex::bench {

namespace fs = std::filesystem;

// The real replays: the first argument, else ../shared/replays seen from the repository or
// from its build folder.
inline std::string SharedReplaysFolder(const char* given) {
    if (given)
        return given;
    for (const char* candidate :
         {"../shared/replays", "../../shared/replays", "../../../shared/replays"})
        if (fs::is_directory(candidate))
            return candidate;
    return "../shared/replays";
}

inline std::vector<std::string> ReplaysUnder(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file() && it->path().extension() == ".wotreplay")
            paths.push_back(it->path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The replays under the folder; the program ends when there are none.
inline std::vector<std::string> ReplaysOrExit(const std::string& folder, const char* program) {
    std::vector<std::string> paths = ReplaysUnder(folder);
    if (paths.empty()) {
        std::fprintf(stderr, "%s: no replays under %s\n", program, folder.c_str());
        std::exit(2);
    }
    return paths;
}

// The arguments every copying benchmark takes: [COUNT [REPLAYS_FOLDER]] [--copies]; hard
// links stand in for copies unless --copies asks for real ones.
struct CopyArguments {
    int count = 0;
    std::string source;
    bool realCopies = false;
};

inline CopyArguments ReadCopyArguments(int argc, char** argv, int defaultCount) {
    CopyArguments parsed;
    std::vector<const char*> args;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--copies")
            parsed.realCopies = true;
        else
            args.push_back(argv[i]);
    }
    parsed.count = args.size() > 0 ? std::max(1, std::atoi(args[0])) : defaultCount;
    parsed.source = SharedReplaysFolder(args.size() > 1 ? args[1] : nullptr);
    return parsed;
}

// A folder under the temporary folder with `count` replays: the sources in turn, each under a
// new name. Hard links by default (the same bytes, without writing gigabytes to a shared
// disk); real copies when asked.
class ReplayCopies {
  public:
    ReplayCopies(const std::vector<std::string>& sources, int count, bool realCopies,
                 const std::string& tag) {
        std::string pattern = (fs::temp_directory_path() / ("kordex-bench-" + tag + "-XXXXXX"));
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        folder_ = pattern;
        for (int i = 0; i < count; ++i) {
            const fs::path source = sources[static_cast<std::size_t>(i) % sources.size()];
            char prefix[32];
            std::snprintf(prefix, sizeof prefix, "%05d_", i);
            const fs::path target = fs::path(folder_) / (prefix + source.filename().string());
            std::error_code error;
            if (realCopies)
                fs::copy_file(source, target, error);
            else
                fs::create_hard_link(source, target, error);
            if (error) {
                std::fprintf(stderr, "cannot make %s: %s\n", target.c_str(),
                             error.message().c_str());
                std::exit(2);
            }
            paths_.push_back(target.string());
        }
        std::sort(paths_.begin(), paths_.end());
    }
    ~ReplayCopies() {
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    ReplayCopies(const ReplayCopies&) = delete;
    ReplayCopies& operator=(const ReplayCopies&) = delete;

    const std::string& Folder() const { return folder_; }
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    std::string folder_;
    std::vector<std::string> paths_;
};

// Wall time and the process's CPU time (user + system) over a stretch of work.
struct Times {
    double wall = 0;
    double cpu = 0;
};

inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <typename Work>
Times Measure(Work work) {
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    Times times;
    times.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    times.cpu = CpuSeconds() - cpu;
    return times;
}

// Each figure the lower of the two: the shared machine only ever slows a round down.
inline Times Faster(Times a, Times b) {
    return {std::min(a.wall, b.wall), std::min(a.cpu, b.cpu)};
}

// The fastest of a few rounds of the work, each figure apart.
template <typename Work>
Times Fastest(int rounds, Work work) {
    Times best = Measure(work);
    for (int round = 1; round < rounds; ++round)
        best = Faster(best, Measure(work));
    return best;
}

// The middle value (of an even count, the mean of the two middle ones).
inline double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// The process's peak resident memory so far, in megabytes.
inline double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Bytes this process has read so far (Linux /proc/self/io), or -1 where that is not known.
inline long long BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}

// Bytes a piece of work reads from files, without the reading of /proc itself.
template <typename Work>
long long BytesReadBy(Work work) {
    const long long a = BytesReadSoFar();
    const long long b = BytesReadSoFar();
    work();
    const long long c = BytesReadSoFar();
    return std::max(0LL, c - b - (b - a));
}

// The floor: each file opened, the given number of bytes read from its start, closed.
inline long long PlainReads(const std::vector<std::string>& paths,
                            const std::vector<long long>& bytesPerFile) {
    std::vector<char> buffer(64 * 1024);
    long long total = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::FILE* file = std::fopen(paths[i].c_str(), "rb");
        if (!file)
            continue;
        long long left = bytesPerFile[i];
        while (left > 0) {
            const auto want =
                static_cast<std::size_t>(std::min<long long>(left, (long long)buffer.size()));
            const std::size_t got = std::fread(buffer.data(), 1, want, file);
            if (got == 0)
                break;
            total += static_cast<long long>(got);
            left -= static_cast<long long>(got);
        }
        std::fclose(file);
    }
    return total;
}

}  // namespace kordex::bench
