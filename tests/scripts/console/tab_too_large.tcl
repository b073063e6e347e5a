# tab refuses a count that would exhaust the machine; 16777216 blanks are fine.
set big [tab 16777216]
set big small
tab 16777217
