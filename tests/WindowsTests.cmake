# The Windows backend under Wine, against the registry and files of the test script's private prefix.
