#include "core/csv_export.h"

#include <charconv>
#include <cstring>
#include <string>

#include "core/ramp_table.h"

namespace lumatab {

namespace {

// Appends a record field by field; to_chars keeps it independent of the process locale.
class RecordBuilder {
public:
    void Append(const char* text, std::size_t length) {
        std::memcpy(end_, text, length);
        end_ += length;
    }
    void Append(const std::string& text) { Append(text.data(), text.size()); }
    void Append(char c) { *end_++ = c; }
    void AppendNumber(unsigned value, int base) {
        const auto result = std::to_chars(end_, end_ + kNumberCapacity, value, base);
        for (char* p = end_; p != result.ptr; ++p) {
            if (*p >= 'a' && *p <= 'f') {
                *p = static_cast<char>(*p - 'a' + 'A');
            }
        }
        end_ = result.ptr;
    }
    const char* data() const { return text_; }
    std::size_t size() const { return static_cast<std::size_t>(end_ - text_); }

private:
    static constexpr int kNumberCapacity = 10;
    // A record is at most "\n255" and three ",0xFFFF,65535,<gamma>" groups; a gamma text is
    // at most 320 characters for any double, so this can never overflow.
    char text_[4 + 3 * (14 + 1 + 320) + 1];
    char* end_ = text_;
};

}  // namespace

void WriteRampCsv(ByteSink& file, const GammaRamp& ramp, const GammaTable& table) {
    const std::string header = RampHeadingLine(',');
    file.Write(header.data(), header.size());
    for (int i = 0; i < kRampSize; ++i) {
        RecordBuilder record;
        record.Append('\n');
        record.AppendNumber(static_cast<unsigned>(i), 10);
        for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue}) {
            const unsigned level = ramp.at(ch, i);
            record.Append(",0x", 3);
            record.AppendNumber(level, 16);
            record.Append(',');
            record.AppendNumber(level, 10);
            record.Append(',');
            record.Append(FormatGammaCell(table.at(ch, i)));
        }
        file.Write(record.data(), record.size());
    }
}

}  // namespace lumatab
