# watch needs a subcommand.
watch
