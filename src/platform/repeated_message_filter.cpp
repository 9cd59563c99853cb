// Dropping repeated messages for the length of one reading.
#include "platform/repeated_message_filter.h"

// Each constructor names its own set: a delegating one would refer to ownShown_ before this
// object's construction began.
TRepeatedMessageFilter::TRepeatedMessageFilter() : next_(CurrentMessageSeam()), shown_(&ownShown_) { SetMessageSeam(this); }

TRepeatedMessageFilter::TRepeatedMessageFilter(std::set<std::string>& shown) : next_(CurrentMessageSeam()), shown_(&shown)
{
    SetMessageSeam(this);
}

TRepeatedMessageFilter::~TRepeatedMessageFilter() { SetMessageSeam(next_); }

MsgButton TRepeatedMessageFilter::Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption)
{
    if (!shown_->insert(text).second) return MbOk;
    if (next_) return next_->Message(text, type, buttons, caption);
    SetMessageSeam(nullptr);
    const MsgButton answer = ShowMessage(text, type, buttons, caption);
    SetMessageSeam(this);
    return answer;
}
