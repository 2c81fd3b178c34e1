// Vuelta del modelo global al estado del arranque; sin GoogleTest, para que
// también la use el fuzzer.
#pragma once

// Vacía el modelo global (nudos, barras, contadores, resultados) como al arrancar.
void reiniciarModelo();
