// the rules are inline in the header
