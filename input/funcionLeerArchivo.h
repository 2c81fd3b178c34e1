// Carga del modelo completo desde el archivo nombreArchivo.
#pragma once

void funcionLeerArchivo();
