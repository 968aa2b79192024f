// The position answers: what is kept of the block the controller sent.

#include "trx/PositionQuery.h"

#include <gtest/gtest.h>

TEST(PositionQuery, TwentyCharactersFromTheFirstEotAreDropped)
{
    EXPECT_EQ(positionFromAnswer(QByteArray("\x01N 52 13.45 E 005 07.12\r\x04"
                                            "cmd: ")),
              QByteArray("\x01N 52 13.45 E 005 07.12\r"));
    // The prompt in the middle: what follows its twenty characters stays.
    QByteArray middle("AB\x04");
    middle += QByteArray(19, 'p');
    middle += "tail";
    EXPECT_EQ(positionFromAnswer(middle), QByteArray("ABtail"));
    EXPECT_EQ(positionFromAnswer("no prompt at all"), QByteArray("no prompt at all"));
    EXPECT_TRUE(positionFromAnswer({}).isEmpty());
}
