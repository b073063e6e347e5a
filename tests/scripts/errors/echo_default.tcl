# By default an error prints its message, stores it in ::errorMsg and ends
# the script with code 1; the result is empty.
set ::errorMsg
alias a nosuch
