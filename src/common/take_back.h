#pragma once
#include <utility>
#include <vector>

#include "common/record_range.h"

// A change of several writes that is taken back when one of them fails.
// Records are kept as they are before the change; while it is under way a
// failure closes the gate to its later writes but is not reported yet. When
// the change ends after a failure, the kept records that differ are written
// back, last kept first, and only then is the failure reported (which ends
// the program).
class TakeBack {
public:
    explicit TakeBack(WriteGate& gate);
    ~TakeBack();
    TakeBack(const TakeBack&) = delete;
    TakeBack& operator=(const TakeBack&) = delete;

    // Keeps `count` records from `first` on as they are now.
    void keep(RecordFile& file, qint32 first, qint32 count);

private:
    WriteGate& gate_;
    std::vector<std::pair<RecordFile*, RecordRange>> kept_;
};
