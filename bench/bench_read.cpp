// Reads every replay under a folder as the series does (list variant, header, completeness)
// and prints replays per second and megabytes per second, beside the floor: the same bytes
// of the same files read with plain reads.
//
//   bench_read [FOLDER [ROUNDS]]     FOLDER defaults to ../shared/replays

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "replay/battle_reading.h"
#include "replay/block_reader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
// The floor: open each file and read the same number of bytes from its start.
using kordex::bench::PlainReads;
using kordex::bench::ReplaysUnder;

struct Tally {
    int complete = 0;
    int headerFailures = 0;
};

Tally ReadAll(const std::vector<std::string>& paths) {
    Tally tally;
    for (const std::string& path : paths) {
        kordex::BattleReadRequest request;
        request.analysis = std::nullopt;
        request.last = kordex::ReadStage::Completeness;
        const kordex::BattleRead read = kordex::ReadBattle(path, request);
        if (read.fault == kordex::ReadFault::CannotOpen ||
            read.FailedAt(kordex::ReadStage::Header)) {
            ++tally.headerFailures;
            continue;
        }
        tally.complete += read.Ok() ? 1 : 0;
    }
    return tally;
}

// How many bytes the reader takes from each file, measured once.
std::vector<long long> BytesTakenPerFile(const std::vector<std::string>& paths) {
    std::vector<long long> taken;
    for (const std::string& path : paths)
        taken.push_back(kordex::bench::BytesReadBy(
            [&] { (void)kordex::ReadReplayBlocks(path, kordex::ReadingVariant::List); }));
    return taken;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "../shared/replays";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        std::cerr << "bench_read: no folder " << folder << "\n";
        return 2;
    }
    const std::vector<std::string> paths = ReplaysUnder(folder);
    if (paths.empty()) {
        std::cerr << "bench_read: no replays under " << folder << "\n";
        return 2;
    }
    long long totalSize = 0;
    for (const std::string& path : paths)
        totalSize += static_cast<long long>(fs::file_size(path));

    const std::vector<long long> taken = BytesTakenPerFile(paths);
    long long takenTotal = 0;
    for (long long bytes : taken)
        takenTotal += bytes;

    Tally tally = ReadAll(paths);  // warms the page cache
    const auto readStart = Clock::now();
    for (int round = 0; round < rounds; ++round)
        tally = ReadAll(paths);
    const double readSeconds = Seconds(Clock::now() - readStart);

    const auto plainStart = Clock::now();
    long long plainBytes = 0;
    for (int round = 0; round < rounds; ++round)
        plainBytes = PlainReads(paths, taken);
    const double plainSeconds = Seconds(Clock::now() - plainStart);

    const double files = static_cast<double>(paths.size()) * rounds;
    const double megabytes = static_cast<double>(takenTotal) * rounds / 1e6;
    std::printf("replays            %zu (%d complete, %d without a readable header), %d rounds\n",
                paths.size(), tally.complete, tally.headerFailures, rounds);
    std::printf("file sizes         %.1f MB; bytes the reader takes %.2f MB (%.1f%%)\n",
                static_cast<double>(totalSize) / 1e6, static_cast<double>(takenTotal) / 1e6,
                100.0 * static_cast<double>(takenTotal) / static_cast<double>(totalSize));
    std::printf("reader             %.0f replays/s, %.1f MB/s read (%.3f ms per replay)\n",
                files / readSeconds, megabytes / readSeconds, 1000.0 * readSeconds / files);
    std::printf("plain reads floor  %.0f replays/s, %.1f MB/s (%.2f MB per round)\n",
                files / plainSeconds, megabytes / plainSeconds,
                static_cast<double>(plainBytes) / 1e6);
    return 0;
}
