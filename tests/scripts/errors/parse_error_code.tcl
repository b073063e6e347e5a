# A parse error sets ::errorCode 1 and ::errorMsg "Syntax error".
cmdcount {set a $(x)}
puts [set ::errorCode]/[set ::errorMsg]
set a $(y)
puts never
