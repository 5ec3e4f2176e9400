"""Independent Python reading of the Velk reply engine, used as a test oracle."""
