# info vars/locals/globals list a frame's variables sorted ignoring case.
proc names {} {
    set Apple 1
    set apricot 2
    const Avocado 3
    set banana 4
    # a pattern matches case-sensitively unless -nocase
    puts [info vars a*]
    puts [info vars a* -nocase]
    # -const keeps only constants; a leading option means every name
    puts [info locals -const]
    puts [info vars * -nocase -const]
    # without arguments: every name of this level only
    puts [info vars]
    # globals reads level 0 from inside a procedure
    puts [info globals g*]
}
set gx 1
set "g y" 2
set Gz 3
names
# at level 0, vars and globals agree
puts [eq [info vars] [info globals]]
# a name with a blank is braced in the list
puts [info globals g* -nocase]

# info exists and is_set: variables and array elements
set a(x) x
set a(y) /y
set a(z) z
set a(w) ""
puts "[info exists gx] [info exists nosuch] [info exists a] [info exists a(x)]"
# element keys compare exactly unless -nocase
puts "[info exists a(X)] [info exists a(X) -nocase] [is_set a(X) -nocase]"
# is_set joins its words into one name and ignores other options
puts "[is_set a ( x )] [is_set -quiet gx -v]"
proc inner {} { list [is_set gx] [is_set ::gx] }
puts [inner]

# argcount counts the elements that are not "/..."
puts [info argcount a]
set plain 1
catch {info argcount plain}
catch {info argcount nosuch}
