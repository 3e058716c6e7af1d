#version 330 core
// Every quad: a row-vector position times the full world * view * projection.
// Quads drawn in one batch (BATCHED defined) each bring their own transform and
// pixel-shader colour and time in their vertices; the pixel shaders receive those
// unchanged, under the names of the constants they stand for. They are passed on
// interpolated, not flat: being the same at all four corners they arrive as they
// left, and a software rasteriser fills a quad as one rectangle only when none of
// its inputs is flat.
#ifdef BATCHED
in mat4 WorldViewProj;
in vec4 inQuadColour;
in float inQuadTime;
out vec4 rgba0;
out vec4 rgba;
out float Time;
#else
uniform mat4 WorldViewProj;
#endif

in vec3 inPosition;
in vec4 inColour;
in vec2 inTexCoord;

out vec4 vColour;
out vec2 vTexCoord;

void main()
{
	gl_Position = vec4( inPosition, 1.0 ) * WorldViewProj;
	vColour = inColour;
	vTexCoord = inTexCoord;
#ifdef BATCHED
	rgba0 = inQuadColour;
	rgba = inQuadColour;
	Time = inQuadTime;
#endif
}
