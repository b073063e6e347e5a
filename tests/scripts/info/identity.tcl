# Who and where: user, host, privileges and network adapters.
proc isDigits {x} {
    if {[eq $x ""]} { return 0 }
    foreach piece [split $x 0123456789] { if {[ne $piece ""]} { return 0 } }
    return 1
}
puts [ne [username] ""]
puts [eq [info username] [username]]
puts [ne [hostname] ""]
puts "[eq [info hostname] [hostname]] [eq [hostname hostname] [hostname]]"
puts "[in {0 1} [is_elevated]] [eq [info is_elevated] [is_elevated]] [in {0 1} [is_admin]]"
# an elevated process counts as an administrator
puts [>= [is_admin] [is_elevated]]
# adapters: a count, and the fields of the first one when there is one
set count [hostname adapter_count]
puts "[isDigits $count] [eq [info adapter_count] $count]"
if {[> $count 0]} {
    set index [hostname adapter_index]
    set mac [hostname mac_address 0]
    puts "[isDigits $index] [isDigits [info adapter_type 0]] [in {0 1} [info dhcp_enabled 0]]"
    puts [eq [join [split [hostname fmac_address] -] ""] $mac]
    puts [ne [info adapter_name 0] ""]
} else {
    puts "1 1 1"; puts 1; puts 1
}
# an index past the last adapter, a word that is no field
catch {info ip_address 99999}
catch {hostname gateway x}
catch {hostname nosuch}
# username takes no arguments
username now
