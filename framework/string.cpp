#include "framework/string.h"

#include "framework/exceptions.h"

int CString::ReverseFind(char c) const {
    const std::size_t pos = m_text.rfind(c);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
    if (count <= 0) {
        return CString();
    }
    const std::size_t length = std::min(static_cast<std::size_t>(count), m_text.size());
    return CString(m_text.data(), static_cast<int>(length));
}

int CStringArray::Add(const CString& item) {
    m_items.push_back(item);
    return GetSize() - 1;
}

const CString& CStringArray::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        AfxThrowInvalidArgException();
    }
    return m_items[static_cast<std::size_t>(index)];
}
