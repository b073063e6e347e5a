# The http command against the local servers that run.py starts; their
# addresses arrive in the environment and show as HTTP, HTTPS and REFUSED.
set base $env(ZT_HTTP)
set work $env(ZT_WORK)
set names [list $base HTTP $env(ZT_REFUSED) REFUSED $work WORK]
if {[info exists env(ZT_HTTPS)]} { lappend names $env(ZT_HTTPS) HTTPS $env(ZT_CA) CA }
proc fails {script} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code [string map $::names $m]"
}
# only the headers that the test server fixes; Date and Server vary
proc show_headers {list} {
    set shown {}
    foreach {name value} $list {
        set name [string tolower $name]
        if {[string match x-test $name]} { lappend shown "$name=$value" }
        if {[string match content-* $name]} { lappend shown "$name=$value" }
    }
    puts $shown
}

# get: the body is the result; status and headers go to variables
puts [http get $base/hello]
puts [http get $base/hello -status st -headers hd]
puts $st
show_headers $hd
# the body into a variable: the result is then the status
puts [http get $base/hello -var body]
puts $body
# request headers go out as given
puts [http get $base/echo -header "X-Custom: one two"]
# post sends the data with the headers; without -data an empty body
puts [http post $base/echo -data "a=1&b=2" -header "Content-Type: text/x-test"]
puts [http post $base/echo]
# head: the status is the result, the headers are there, no body
puts [http head $base/hello -headers hd]
show_headers $hd
# options are case-insensitive, and so is the method
puts [http GET $base/hello -TIMEOUT 5000]

# redirects are followed by default; with -redirects 0 the 302 comes back
puts [http get $base/redirect]
puts [http get $base/redirect -redirects 0 -status st]
puts $st
fails {http get $base/redirect-loop -redirects 3}

# a body with zero bytes goes to a file, written whole or not at all
puts [http get $base/bytes -file $work/bytes.bin]
puts [file size $work/bytes.bin]
set f [open $work/keep.txt w]
puts -nonewline $f "kept"
close $f
fails {http get $base/missing -file $work/keep.txt}
fails {http get $env(ZT_REFUSED) -file $work/keep.txt}
set f [open $work/keep.txt r]
puts [read $f]
close $f
file delete $work/bytes.bin $work/keep.txt

# failing statuses are errors, unless the caller asks for the status
fails {http get $base/missing}
fails {http get $base/fail -headers hd}
show_headers $hd
puts [http get $base/missing -status st]
puts $st
# a refused connection and a timeout
fails {http get $env(ZT_REFUSED)/hello}
fails {http get $base/slow -timeout 300}

# bad words: subcommand, URL, options and their values
fails {http put $base/hello}
fails {http get ftp://example.com/file}
fails {http get hello}
fails {http get $base/hello -bogus 1}
fails {http get $base/hello -timeout}
fails {http get $base/hello -timeout 0}
fails {http get $base/hello -timeout -5}
fails {http get $base/hello -timeout 999999999999}
fails {http get $base/hello -redirects 51}
fails {http get $base/hello -data x}
fails {http get $base/hello -header NoColon}
fails {http get $base/hello -var a -file $work/x}
fails {http get $base/hello -file $work/no/such/dir/x}
puts [catch {http get} m -quiet]

# https: trusted through -cafile; refused without it
if {[info exists env(ZT_HTTPS)]} {
    puts [http get $env(ZT_HTTPS)/hello -cafile $env(ZT_CA)]
    puts [http post $env(ZT_HTTPS)/echo -data secure -cafile $env(ZT_CA)]
    # the system's own words after the message vary between versions
    set code [catch {http get $env(ZT_HTTPS)/hello} m -quiet]
    set m [string map $names $m]
    puts "$code [string match {http get: Certificate of 'HTTPS/hello' not trusted *} $m]"
} else {
    puts "https cases skipped on this platform"
}
