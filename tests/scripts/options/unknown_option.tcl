# An option name outside the table fails; the message is also the result.
option nosuch on
