# The command table holds exactly the built-in names every script may use:
# the listing and this list of all 426 names must agree, both ways.
set expected {
    ! != % & && &= * ** *= + ++ +++ += - -- -= -> . / /= < << <= <=> = == => =>> > >= >> ? @ @> ^ ^=
    addressof addressofb addslash after alias all any append apply args arity array array_foreach
    array_set array_to_list array_to_string asc assert atof autoexec base64 baseconv beep binary
    bintoint bit bool box break calc call catch cd cd.. ceil chain char charcount chartok chdir
    checkheap chomp chr clear clearprocs cli clipboard clock close clreol cls cmdcount cmp comma
    commands concat console const content continue convbase copyfile cset ctime_to_double cvn date
    date_to_ctime dateserial day_of_week debug decr defined dict die dim diskfree diskstat disktype
    do doevents double double_to_ctime dummy dump dumpmem echo elevate empty enum eof eq eqi eqn
    error escape eval exec exit expand explain expr extract false fib file filesize filter find
    float floop flush fmod for foreach format fpart fraction free fromhex ftoa funct functions ge
    gei get_fileopen get_filesave get_folder get_win_error getcwd getenv getkey gets getsid glob
    global gosub goto goto_block gotoxy gt gti halt help hextoint hostname http if in incr index
    info inkey input input_csv inputbox inrange inspect instr int integral interp inttobin inttohex
    inttooct ip_to_long is_active is_admin is_alnum is_alpha is_array is_command is_const is_date
    is_digit is_dir is_dst is_elevated is_empty is_file is_leapyear is_list is_lower is_mod is_null
    is_numeric is_pointer is_proc is_punct is_set is_space is_upper is_xdigit iso_to_double item
    join K lappend lassign lastchar lcount le leakmem left lei len let level lib lindex link_to_path
    list list_to_array llength lmap load logo long long_to_ip loop lrand lrange lreplace lreverse ls
    lsearch lset lsort lt lti makestr malloc map match max md md5 md5_file mean median mem_used
    memcpy memset mid mids min mkdir mkdirs mkn mktemp mode movefile msgbox ne nei nen new newline
    ni normal_path now octtoint ofaddress ofaddressb on open option pause pid pipe play_wav printf
    proc procs prompt puts pwd randomstr range read readfile ren rename replacechar result resume
    return rewind right rinstr rmdir rnd rndseq round run sbool sc scan screen set setat setb setenv
    setl setr setresult shell short signed sizeof sleep slice source spawn split srand stack static
    stop stop_wav store strchr string string_to_array stripto striptor strptr strsplit strstr
    strstrr strto strtok strtor struct sub subst swap switch sysfree tab tell textcolor ticks tid
    time timer tohex tokenise tolower toupper trace trim trimprefix trimsuffix true try type uchar
    uint ulong undef unescape unlink unset unsigned unwrap uplevel upvar urldecode urlencode
    username ushort variable varname vars vfract vwait waitkey walk watch wchar_length
    wchar_to_string while wide win_error wrap writefile | |= || ~
}
option autoexec off
set listed [commands]
set missing {}
foreach name $expected { if {[is_command $name]} {} else { lappend missing $name } }
set extra {}
foreach name $listed { if {[< [lsearch -exact $expected $name] 0]} { lappend extra $name } }
puts "expected [llength $expected] listed [llength $listed]"
puts "missing: $missing"
puts "extra: $extra"
