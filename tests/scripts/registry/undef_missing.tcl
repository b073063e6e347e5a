# undef stops at the first name that is not a command; later names stay.
alias a puts
cmdcount {undef nosuch a}
a "a is still there"
undef nosuch
