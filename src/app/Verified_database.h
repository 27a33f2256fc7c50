// The database file last found valid, remembered by its digest in the user's
// settings so that a start with the same bytes need not check them again.
#pragma once

namespace vexo {

struct Validation_outcome {
    bool valid = false;
    bool summary_empty = true;
};

// Validates the open database given the digest kept from before, and keeps
// the file's digest when it is valid. Shows nothing. Run at start-up, and at
// the end of a session so that the program's own writes (the summary) are
// checked then rather than at the next start.
Validation_outcome Validate_main_database();

} // namespace vexo
