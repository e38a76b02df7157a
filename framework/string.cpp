#include "framework/string.h"

#include "framework/exceptions.h"

const CString& CStringArray::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        AfxThrowInvalidArgException();
    }
    return m_items[static_cast<std::size_t>(index)];
}
