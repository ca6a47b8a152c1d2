#include "app/live/prompt_line.h"

#include "app/live/live_keys.h"

namespace kalvo::app {

PromptOutcome PromptLine::Apply(int key) {
    switch (key) {
        case keys::kLineFeed:
        case keys::kReturn:
        case keys::kEnter:
            return PromptOutcome::Confirmed;
        case keys::kEscape:
            return PromptOutcome::Cancelled;
        case keys::kBackspace:
        case keys::kDeleteCharacter:
        case keys::kCtrlH:
            if (cursor_ > 0) text_.erase(--cursor_, 1);
            break;
        case keys::kDelete:
            if (cursor_ < text_.size()) text_.erase(cursor_, 1);
            break;
        case keys::kLeft:
            if (cursor_ > 0) --cursor_;
            break;
        case keys::kRight:
            if (cursor_ < text_.size()) ++cursor_;
            break;
        case keys::kHome:
            cursor_ = 0;
            break;
        case keys::kEnd:
            cursor_ = text_.size();
            break;
        case keys::kCtrlU:
            text_.clear();
            cursor_ = 0;
            break;
        default:
            if (key >= ' ' && key <= '~' && text_.size() < kLongestText)
                text_.insert(cursor_++, 1, static_cast<char>(key));
            break;
    }
    return PromptOutcome::Editing;
}

std::size_t PromptLine::FirstShown(std::size_t width) {
    if (width == 0) return cursor_;
    if (text_.size() < width) firstShown_ = 0;
    if (cursor_ < firstShown_) firstShown_ = cursor_;
    if (cursor_ >= firstShown_ + width) firstShown_ = cursor_ - width + 1;
    return firstShown_;
}

}  // namespace kalvo::app
