cmdcount {set a 1; set b 2} v
trace add set
set a 1
trace remove *
watch add a*
watch trace a* -value -nocase
watch remove *
