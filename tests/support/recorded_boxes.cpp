#include "tests/support/recorded_boxes.h"

namespace qv::test {

RecordedBoxes::RecordedBoxes() {
    auto recorder = std::make_unique<RecordingDialogs>();
    shown_ = recorder.get();
    previous_ = setDialogs(std::move(recorder));
}

RecordedBoxes::~RecordedBoxes() { setDialogs(std::move(previous_)); }

QString RecordedBoxes::last() const { return shown_->shown.empty() ? QString() : shown_->shown.back().text; }

} // namespace qv::test
