#include <gtest/gtest.h>

#include "support/organizer_test.h"

class RecordFileTest : public OrganizerTest {};

TEST_F(RecordFileTest, Placeholder) { SUCCEED(); }
