// The preprocessor's second pass: expr and calc calls are rewritten ahead of
// time so that running them does less work.
#pragma once

#include <string>

// Rewrites the calls in place. False when a calc expression cannot be
// translated (the failure is reported).
bool optimise_expression_calls(std::string& text);
