// One reading reports a bad stamp once: the filter drops a text already shown while it lives,
// passes the answers of the first showing on, and gives the seam back when it ends.
#include "platform/repeated_message_filter.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

TEST(RepeatedMessageFilter, ShowsEachTextOnceWhileItLivesThenHandsTheSeamBack)
{
    ScriptedMessages messages;
    {
        TRepeatedMessageFilter oneMessage;
        messages.AnswerNext(MbNo);
        EXPECT_FALSE(AskYesNo("Invalid Date"));
        EXPECT_EQ(ShowMessage("Invalid Date", MsgType::Confirmation, MbYesNo), MbOk);  // dropped
        ShowError("Invalid Time");
        {
            TRepeatedMessageFilter nested;
            ShowError("Invalid Time");  // a new reading inside still meets the outer one's record
        }
        ShowError("Invalid Time");
    }
    ShowError("Invalid Date");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Invalid Date", "Invalid Time", "Invalid Date"}));
    EXPECT_EQ(CurrentMessageSeam(), &messages);
}
