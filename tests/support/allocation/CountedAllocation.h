// The program's global operators new and delete, replaced: every allocation is counted, and
// a test can make the nothrow array form fail. A program gets them by linking
// qv_test_counted_allocation, and then only through them.
#pragma once

namespace counted_allocation {

// Allocations made so far by any thread, through any form of operator new.
long count();

// While set, every nothrow array allocation answers null.
void failNothrowArrays(bool fail);

}  // namespace counted_allocation
