#include "common/take_back.h"

TakeBack::TakeBack(WriteGate& gate) : gate_(gate) {
    Q_ASSERT(!gate_.holding);
    gate_.holding = true;
}

TakeBack::~TakeBack() {
    if (gate_.heldReport) {
        gate_.closed = false;  // open to the take-back alone
        for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
            auto& [file, before] = *it;
            if (file->readRecords(before.first(), before.count()) != before.bytes() &&
                before.writeTo(*file) != RecordFile::Write::Done)
                break;
        }
        gate_.closed = true;
    }
    gate_.holding = false;
    if (const auto report = std::exchange(gate_.heldReport, nullptr)) report();
}

void TakeBack::keep(RecordFile& file, qint32 first, qint32 count) { kept_.emplace_back(&file, RecordRange(file, first, count)); }
