// Carpeta de pruebas todavía sin casos.
