// swCFileLink: a link archive opened for reading, handing out its numbered members.
#pragma once

#include "lib/file.h"

#include <cstdint>
#include <vector>

class swCFileLink : public swCFile {
public:
    // Opens name for reading (swCFileError code 0 when missing) and detects the version.
    explicit swCFileLink(const char* name);

    // Stores a pointer to member index's bytes in data and returns their count. The bytes stay
    // valid until the next call or the archive's end. A file that is no archive gives 0 and
    // leaves data untouched; a member the file does not hold throws swCFileError code 1.
    DWORD linkGetMember(uint32_t index, const BYTE** data);

    // 0 "FLINK2 ver.00", 1 "FLINK Ver1.00", 2 not a link archive.
    int version() const { return m_version; }

private:
    std::vector<uint8_t> m_member;
    int m_version = 2;
};
