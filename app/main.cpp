// Punto de entrada: elige el archivo, limpia la consola, carga y abre el visor.
#include "app/plataforma.h"
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"
#include "viewer/funcionPlot.h"

int main(int argc, char** argv)
{
    if (argc > 1) {
        nombreArchivo = argv[1];
    } else {
        nombreArchivo = "ingresoDatos.txt";
    }
    funcionLimpiarConsola();
    funcionLeerArchivo();
    funcionPlot(argc, argv);
    return 0;
}
