// The macro preprocessor that every path loading script text runs first.
#pragma once

// Rewrites *text in place (it may be replaced by a new heap text). Returns
// the new length (above 0) on success, 0 for an empty text, or a negative
// failure code. Callers treat a result below 1 as failure.
int preprocess(char** text, int evaluate_directives, int flag2, int flag3);
