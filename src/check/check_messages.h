// The Japanese texts of Tidy's messages: which string of the program's
// string table says what a message code says.
#pragma once

namespace kestil {

// The string id of the Japanese text for Tidy's message code, whose %1, %2
// ... stand for the message's arguments in Tidy's order; 0 for a code that
// has none (its English text is shown).
unsigned CheckMessageId(unsigned code);

}  // namespace kestil
