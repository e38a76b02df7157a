// Where the file writers put their bytes: a string in tests, a file being written whole in the
// program.
#pragma once

#include <cstddef>

namespace lumatab {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(const void* data, std::size_t size) = 0;
};

}  // namespace lumatab
