// A decoded picture: width, height and tightly packed red-green-blue bytes, rows in file order
// (an ordinary bottom-up file gives the bottom row first).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class Bitmap {
public:
    // A picture is megabytes: it moves, and is never copied by accident.
    Bitmap() = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap(Bitmap&&) = default;
    Bitmap& operator=(Bitmap&&) = default;

    // Reads an uncompressed 8- or 24-bit BMP file; throws the integer -1 on failure and then
    // leaves the record as it was. lastError() tells which file failed and why.
    void load(const std::string& path);

    // Same as load(path), reading from an open stream; name only labels lastError().
    // NOTE: top-down files are turned over, so row 0 is always the bottom row of the picture.
    void load(std::istream& in, const std::string& name);

    // Why the last load failed ("<file>: <reason>"); empty after a successful load.
    static const std::string& lastError();

    // The kinds of fault a load reports.
    enum class Fault {
        None,            // the last load succeeded
        CannotOpen,      // "cannot open file"
        NotBmp,          // "not a BMP file"
        TruncatedHeader, // "truncated header"
        HeaderSize,      // "unsupported header size <bytes>"
        BitCount,        // "unsupported bit count <bits>"
        Compressed,      // "compressed pixel data"
        BadSize,         // "bad size <width> x <height>"
        TooLarge,        // "picture too large <width> x <height>"
        OutOfMemory,     // "out of memory"
    };
    // The last load's failure in parts, for callers that word it themselves: the kind of fault,
    // the file, and the figures of the reason ("16", "0 x 5"; empty when it has none).
    struct Failure {
        Fault fault = Fault::None;
        std::string file;
        std::string figures;
    };
    static const Failure& lastFailure();

    // Replaces the picture by a black one of width × height (both at least 1), for pictures
    // made rather than read. Throws "Bitmap::resize(): bad size" and keeps the old picture for an
    // empty or negative side.
    void resize(int width, int height);

    // Writes the picture as an uncompressed 24-bit BMP file, row 0 first as load() reads it;
    // false when the file cannot be written.
    bool save(const std::string& path) const;

    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // width × height × 3 bytes; empty before a load
};
