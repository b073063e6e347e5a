set l {a {b c} {} d}
eval list {*}$l
set x "{*}abc"
{*}abc
