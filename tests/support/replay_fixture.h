#pragma once

#include <optional>
#include <string>

#include "support/file_bytes.h"  // WriteBytesFile, for layouts the fixture does not cover

namespace kordex::test {

// A synthetic replay laid out as the game writes one: a 4-byte magic number, the count of
// data blocks and, per block, a 32-bit little-endian length followed by its bytes. The first
// block is the header object; the second is a JSON array of the results, the vehicles and
// the frags objects. The binary rest of the replay follows.
//
// Every text is written as given, so any of them may be broken JSON. An empty header is
// left out (its length field stays, as zero); when results, vehicles and frags are all empty
// the replay has one block only, as the replay of a battle left early has.
struct ReplayFixture {
    std::string header;
    std::string results;
    std::string vehicles;
    std::string frags;

    // Replaces the bytes before the header text (magic, block count, header length), to put
    // a line feed, carriage return or byte 26 where a test needs it.
    std::optional<std::string> binaryStart;
    // Replaces the 4 length bytes in front of the results array.
    std::optional<std::string> resultsLength;
    // Between the objects of the results array; the game writes ", ".
    std::string separator = ", ";
    // The data after the blocks; by default binary bytes holding line feeds, carriage
    // returns and bytes 26, as the packet stream of a real replay does.
    std::string binaryRest = DefaultBinaryRest();

    static std::string DefaultBinaryRest();
};

// The bytes of the replay, and the same written to a file (replacing it).
std::string ReplayBytes(const ReplayFixture& fixture);
void WriteReplayFile(const std::string& path, const ReplayFixture& fixture);

// The magic number, block count and a length field, as the game writes them.
std::string LengthField(std::size_t length);
std::string BinaryStart(int blockCount, std::size_t headerLength);

// A small header object with every key a battle header has, for the given
// "clientVersionFromExe" text; text outside ASCII is written as \u escapes, as the game does.
std::string SampleHeaderJson(const std::string& exeVersion = "0, 9, 15, 0",
                             const std::string& xmlVersion = "World of Tanks v.0.9.15 #128");
// Small results, vehicles and frags objects of a finished battle that hold the key words
// the reader looks for.
std::string SampleResultsJson();
std::string SampleVehiclesJson();
std::string SampleFragsJson();
// A finished battle of the given texts.
ReplayFixture FinishedBattle(const std::string& header = SampleHeaderJson());

}  // namespace kordex::test
