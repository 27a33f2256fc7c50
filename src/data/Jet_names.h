// Inside the dialect step: the rewrite that makes names compare without
// regard to case and accents in plain SQL (described in Jet_dialect.h).
#pragma once

#include "data/Jet_dialect.h"

#include <vector>

namespace vexo::jet {

// A query text cut into code and literals; a literal's text is its value.
struct Piece {
    QString text;
    bool literal;
    bool closed;
};

// Rewrites the name comparisons of a text for a database whose folded
// copies are `folded`.
void Match_names(std::vector<Piece>& pieces, const Folded_columns& folded);

// A like pattern as the same GLOB pattern. `plain`, when given, tells
// whether the pattern holds no letter, no "?" and no range, so that case,
// accents and composition cannot matter to what it matches.
QString Glob_pattern(const QString& like_pattern, bool* plain = nullptr);

} // namespace vexo::jet
